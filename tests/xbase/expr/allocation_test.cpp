// Index builds evaluate key expressions once per record and tag; the common key shapes
// must not allocate once the output buffer has grown to the key length.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "xbase/expr/expression.h"
#include "xbase/expr/record_builder.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace xbase {
namespace {

TEST(AllocationTest, CommonKeyShapesEvaluateWithoutAllocating) {
  const FieldList fields = exprtest::makeFields({
      {"NUMMER", 'C', 15, 0},
      {"LIEFERANT", 'C', 10, 0},
      {"ARTIKEL", 'C', 40, 0},
      {"ZEILE", 'N', 2, 0},
      {"DATUM", 'D', 8, 0},
      {"FACILITY", 'C', 10, 0},
  });
  std::string record = exprtest::RecordBuilder(fields)
                           .set("NUMMER", "0007919")
                           .set("LIEFERANT", "L0010")
                           .set("ARTIKEL", "Ventil f\xFCr Heiz\xF6l")
                           .set("ZEILE", "10")
                           .set("DATUM", "20240315")
                           .set("FACILITY", "Audio")
                           .bytes();
  const char* keys[] = {"NUMMER", "LIEFERANT+NUMMER", "UPPER(ARTIKEL)", "NUMMER+STR(ZEILE)",
                        "DTOS(DATUM)+NUMMER"};
  std::string out;
  for (const char* text : keys) {
    std::unique_ptr<Expression> e;
    ASSERT_TRUE(Expression::compile(text, fields, "ARTIKEL", &e).isOk()) << text;
    e->evaluateKey({record, 1}, e->width(), out);  // grows `out` once
    long before = g_allocations;
    for (int i = 0; i < 100; ++i) e->evaluateKey({record, 1}, e->width(), out);
    EXPECT_EQ(g_allocations - before, 0) << text;
  }
  std::unique_ptr<Expression> condition;
  ASSERT_TRUE(Expression::compile("TRIM(UPPER(FACILITY))==\"AUDIO\"", fields, "ARTIKEL", &condition)
                  .isOk());
  EXPECT_TRUE(condition->evaluateLogical({record, 1}));
  long before = g_allocations;
  for (int i = 0; i < 100; ++i) condition->evaluateLogical({record, 1});
  EXPECT_EQ(g_allocations - before, 0);
}

}  // namespace
}  // namespace xbase
