// banalyse: started in a game folder, catalogues "tackle/baits/*.tkl" and
// writes "baithook.htm" and "banalyse.txt". Arguments are ignored.
#include "driver/run.h"

int main() { return runProgram(); }
