#include "link/absent_link.h"
