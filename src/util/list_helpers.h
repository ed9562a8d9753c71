#pragma once

#include <string>
#include <vector>

namespace util {

// Appends all elements of `more` to `list`; returns `list`.
template <class T>
std::vector<T>& ARRAYADDARRAY(std::vector<T>& list, const std::vector<T>& more) {
  list.insert(list.end(), more.begin(), more.end());
  return list;
}

// Whether INSARRAY counts an element as equal to the value: for texts, an element that
// begins with the value does (the xBase comparison of texts).
template <class T>
bool insArrayEqual(const T& element, const T& value) {
  return element == value;
}
inline bool insArrayEqual(const std::string& element, const std::string& value) {
  return element.starts_with(value);
}

// Appends `value` unless the list already holds an equal element; returns `list`.
template <class T>
std::vector<T>& INSARRAY(std::vector<T>& list, const T& value) {
  for (const T& element : list) {
    if (insArrayEqual(element, value)) return list;
  }
  list.push_back(value);
  return list;
}

// Exchanges the elements at positions i and j, counted from 1; positions outside the list
// change nothing. Returns `list`.
template <class T>
std::vector<T>& SWAPARRAY(std::vector<T>& list, size_t i, size_t j) {
  if (i >= 1 && j >= 1 && i <= list.size() && j <= list.size()) std::swap(list[i - 1], list[j - 1]);
  return list;
}

}  // namespace util
