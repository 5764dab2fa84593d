#include "fakeport.h"
