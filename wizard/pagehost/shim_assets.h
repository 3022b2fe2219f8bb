// shim_assets.h: the page shim and the dialog stylesheet, compiled into the program.
#pragma once

namespace torvel {

extern const char* const kShimJs;
extern const char* const kDialogsCss;

}  // namespace torvel
