#include "layout/byte_io.h"
