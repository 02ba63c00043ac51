// A model file that reaches up into the shell, as no file may.
#include "model/Fine.h"
#include "shell/Window.h"
