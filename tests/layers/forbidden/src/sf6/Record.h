// A record-layer header that reaches up into the model: the check must refuse it.
#include "model/Catalog.h"
