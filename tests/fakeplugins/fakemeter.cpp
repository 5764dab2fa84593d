#include "fakemeter.h"
