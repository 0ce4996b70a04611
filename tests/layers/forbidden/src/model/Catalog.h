// A model header using the record layer below it: allowed.
#include "sf6/Record.h"
