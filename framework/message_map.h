#pragma once
// Static tables that bind window messages and command ids to member
// handlers. Each class has one table and a link to its base class's; lookup
// walks from the most derived table to the root, and what nothing takes goes
// to the window's default processing.

#include <span>

#include "framework/win_constants.h"
#include "framework/win_types.h"

class CCmdTarget;

struct MessageMapEntry {
  UINT message;
  UINT firstId;  // command ids, for WM_COMMAND entries only
  UINT lastId;
  LRESULT (*call)(CCmdTarget& target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
  const MessageMap* base;
  std::span<const MessageMapEntry> entries;
};

// The first entry for message (and, for WM_COMMAND, for id) in map or its bases.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT id);

namespace message_map_detail {

template <typename>
struct MemberClass;
template <typename Result, typename Class, typename... Args>
struct MemberClass<Result (Class::*)(Args...)> {
  using type = Class;
};

// The handler's own class: its table may name members of a base class.
template <auto Handler>
auto& Receiver(CCmdTarget& target) {
  return static_cast<typename MemberClass<decltype(Handler)>::type&>(target);
}

}  // namespace message_map_detail

// Handler: void ()
template <auto Handler>
constexpr MessageMapEntry CommandEntry(UINT id) {
  return {WM_COMMAND, id, id, [](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
            (message_map_detail::Receiver<Handler>(target).*Handler)();
            return 0;
          }};
}

// Handler: void (UINT id), for every command id from first to last.
template <auto Handler>
constexpr MessageMapEntry CommandRangeEntry(UINT first, UINT last) {
  return {WM_COMMAND, first, last, [](CCmdTarget& target, WPARAM wParam, LPARAM) -> LRESULT {
            (message_map_detail::Receiver<Handler>(target).*Handler)(LOWORD(wParam));
            return 0;
          }};
}

// Handler: void (UINT id, LPARAM lParam)
template <auto Handler>
constexpr MessageMapEntry SysCommandEntry() {
  return {WM_SYSCOMMAND, 0, 0, [](CCmdTarget& target, WPARAM wParam, LPARAM lParam) -> LRESULT {
            (message_map_detail::Receiver<Handler>(target).*Handler)(static_cast<UINT>(wParam), lParam);
            return 0;
          }};
}

// Handler: void ()
template <auto Handler>
constexpr MessageMapEntry PaintEntry() {
  return {WM_PAINT, 0, 0, [](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
            (message_map_detail::Receiver<Handler>(target).*Handler)();
            return 0;
          }};
}

// Handler: HICON ()
template <auto Handler>
constexpr MessageMapEntry QueryDragIconEntry() {
  return {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget& target, WPARAM, LPARAM) -> LRESULT {
            return reinterpret_cast<LRESULT>((message_map_detail::Receiver<Handler>(target).*Handler)());
          }};
}

// Handler: void (UINT flags, CPoint point), point in client coordinates.
template <auto Handler>
constexpr MessageMapEntry RButtonDblClkEntry() {
  return {WM_RBUTTONDBLCLK, 0, 0, [](CCmdTarget& target, WPARAM wParam, LPARAM lParam) -> LRESULT {
            const CPoint point{static_cast<std::int16_t>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                               static_cast<std::int16_t>(HIWORD(static_cast<std::uintptr_t>(lParam)))};
            (message_map_detail::Receiver<Handler>(target).*Handler)(static_cast<UINT>(wParam), point);
            return 0;
          }};
}
