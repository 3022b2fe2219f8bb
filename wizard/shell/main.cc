// main.cc: entry point of the torvel program.
#include "torvel_app.h"

int main(int argc, char** argv) { return torvel::CTorvelApp().Run(argc, argv); }
