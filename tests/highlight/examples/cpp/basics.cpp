// A small program touching most of the language.
#include <cstdio>
#include "local.h"

namespace demo {

template <typename T>
class Stack : public Base {
 public:
  explicit Stack(int capacity) : size_(0) { data_ = new T[capacity]; }
  virtual ~Stack() { delete[] data_; }
  bool Push(const T& v) noexcept;
  static_cast<int>(x) >>= 2;
  a->b.c::d ? e : f;
 private:
  unsigned long size_;
  T* data_;
};

int main(int argc, char** argv) {
  if (argc != 2 && !argv) return -1;
  for (int i = 0; i < 10; ++i) { printf("%d\n", i); }
  char c = 'x', q = '\'', t = '\t';
  bool ok = true || false;
  x <<= 1; y |= 2; z ^= 3; w %= 4; v *= 5; u /= 6; s -= 7; r += 8; p &= 9;
  If (Class) INT;
  return reinterpret_cast<long>(argv) + sizeof(int);
}

}  // namespace demo
