// page_types.h: value types shared by the page host, its fake and the wizard logic.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace torvel {

// All text in the page host is UTF-8. Lengths that the wizard counts in characters count
// UTF-16 code units (see Utf16Length in text_util.h).

// An element's offset box in page pixels, relative to its offset parent.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

enum class EventKind { Click, Focus, Blur };

// A handler receives the id of the element that raised the event.
using ElementHandler = std::function<void(const std::string& elementId)>;

// One row of the element event table: connected after each page load when the page has
// exactly one element of that id; missing elements are skipped.
struct EventEntry {
    std::string id;
    EventKind kind = EventKind::Click;
    ElementHandler handler;
};
using EventTable = std::vector<EventEntry>;

// Keys that the shim forwards. Escape and F5 never reach the page nor the logic.
enum class Key { Enter, Backspace, Tab, Up, Down, Left, Right };

struct KeyEvent {
    Key key = Key::Enter;
    bool down = true;        // false for a key release (arrow keys are reported on release)
    std::string focusId;     // id of the focused page element, empty when none
};

// Mouse events of a slot widget (the camera list).
struct SlotEvent {
    enum class Kind { HeaderPress, DoubleClick };
    std::string id;          // slot element id
    Kind kind = Kind::HeaderPress;
    int column = -1;         // header item pressed, or -1
    int x = 0;               // HeaderPress: offset of the press from the header item's left edge
    int width = 0;           // HeaderPress: the header item's width
    int row = -1;            // DoubleClick: the row under the pointer, -1 when none
};

// The "native window" that a slot element yields: valid for the page it came from.
struct SlotWindow {
    std::string id;
    std::uint64_t page = 0;  // page load serial; an operation on a stale slot fails
    int width = 0, height = 0;  // client area in pixels
};

struct ListColumn {
    std::string heading;
    int width = 0;
};

struct ListRow {
    std::vector<std::string> texts;
    std::intptr_t data = 0;
};

// Calendar value of a date or time picker; unused fields are 0.
struct PickerValue {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const PickerValue&) const = default;
};

struct AboutTexts {
    std::string caption, versionLine, fileVersion, notice;
    bool showIcon = false;
};

struct AliasTexts {
    std::string caption, explanation, suffix, ok, cancel;
};

// Decides about an alias typed in the alias dialog: empty to accept, else the message text
// to show (the dialog then stays open).
using AliasValidator = std::function<std::string(const std::string& alias)>;

struct AliasResult {
    bool confirmed = false;
    std::string alias;
};

struct NoticeTexts {
    std::string caption, message, checkLabel, ok;
};

struct NoticeResult {
    bool closedWithOk = false;  // false: Escape closed it
    bool checked = false;
};

}  // namespace torvel
