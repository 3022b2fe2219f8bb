/* Compiles the public header as plain C99; its static_asserts check every record layout. */
#include "yovfinder.h"

int yov_header_check(void) { return (int)sizeof(_YOVCamSettings); }
