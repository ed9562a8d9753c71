#include "ui/port.h"

#include <stdexcept>

namespace ui {

namespace {
Port* g_current = nullptr;
}  // namespace

Port& port() {
  if (!g_current) throw std::logic_error("no user-interface port installed");
  return *g_current;
}

PortScope::PortScope(Port& port) : m_previous(g_current) {
  g_current = &port;
}

PortScope::~PortScope() {
  g_current = m_previous;
}

}  // namespace ui
