// The frame shared by the per-camera exports: record and size checks, the set-type tail
// (result triple, waiting time, delayed completion) and copies of text into caller buffers.
#pragma once

#include <string>

#include "api/frame.h"
#include "discovery/camera_ops.h"

namespace yov {

// The tail of every set-type export, whatever the operation's outcome: copies the camera's
// result triple to `out` (when the index is valid and `out` is not NULL); after a success with
// a waiting time, sleeps it out, or with `background` has it posted as NotifyDelayedCompletion.
// Returns the mapped result (0 or -1).
int FinishSet(CLANCamFinder& finder, int index, int result, _YOVFinderResult* out,
              int background);

// A set-type export: NULL handle -1; else the operation on a cleared triple, then FinishSet.
template <typename Op>
int RunSetExport(YOVFinderHandle h, int index, _YOVFinderResult* out, int background, Op&& op) {
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    CLANCamFinder& finder = *FinderOf(h);
    int result = finder.manager().RunSet(index, op);
    return FinishSet(finder, index, result, out, background);
  });
}

// A getter with a record and an in/out size: NULL record or size -3, NULL handle -1, else the
// operation's internal result through `map` (the capability export passes it unchanged).
template <typename Record, typename Op>
int RunGetter(YOVFinderHandle h, int index, Record* record, unsigned long* size, Op&& op,
              int (*map)(int) = MapGetter) {
  if (!record || !size) return YOV_E_INVALID;
  if (!h) return YOV_E_FAILED;
  return Guard<>(YOV_E_FAILED, [&] {
    return map(FinderOf(h)->manager().Run(index, [&](CLANDAPObj& camera, uint16_t sequence) {
      return op(camera, sequence, *record, *size);
    }));
  });
}

// Copies camera text, converted to the ANSI code page, into a caller's buffer of `size` bytes.
// A text that does not fit is cut (and terminated) and gives -6.
int CopyTextToCaller(const std::wstring& text, char* buffer, int size);

}  // namespace yov
