// The size and head checks that getters and setters make of the caller's records.
#pragma once

#include "yovfinder.h"

namespace yov {

// A getter's in/out size: false, with the full size written back, when the buffer is smaller.
template <typename Record>
bool FitsRecord(unsigned long& size) {
  if (size >= sizeof(Record)) return true;
  size = sizeof(Record);
  return false;
}

// A setter's record head: Version 1 and Size of the full record minus the head.
template <typename Record>
bool HasRecordHead(const Record& in) {
  return in.Version == 1 && in.Size == sizeof(Record) - 8;
}

// The head, and the size argument equal to the full record size.
template <typename Record>
bool IsValidSetRecord(const Record& in, int size) {
  return size == static_cast<int>(sizeof(Record)) && HasRecordHead(in);
}

}  // namespace yov
