// Where a converter writes what it makes: a file in the bounded child process, a string in the
// tests, nowhere in the fuzz target.  A sink that returns false stops the conversion.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace vellumine::media {

using ByteSink = std::function<bool(std::string_view bytes)>;

// A sink that appends to text.
inline ByteSink stringSink(std::string& text) {
  return [&text](std::string_view bytes) {
    text += bytes;
    return true;
  };
}

}  // namespace vellumine::media
