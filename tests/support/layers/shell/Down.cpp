// A shell file that reaches down into the model, as it may.
#include "model/Up.h"
