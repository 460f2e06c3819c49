#pragma once
// The scalar types and small geometry types the dialog classes are written in.

#include <cstdint>

class QIcon;
class QPainter;

using BOOL = int;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

using UINT = unsigned int;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Handles are plain pointers to the Qt objects they stand for.
using HICON = const QIcon*;
using HDC = QPainter*;

constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) { return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16); }
constexpr LPARAM MAKELPARAM(WORD low, WORD high) { return static_cast<LPARAM>(MAKEWPARAM(low, high)); }

struct CPoint {
  int x = 0;
  int y = 0;
};

struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};
