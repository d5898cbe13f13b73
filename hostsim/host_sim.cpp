#include "hostsim/hostsim.h"
