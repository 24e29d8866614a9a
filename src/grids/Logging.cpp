#include "Logging.h"

Q_LOGGING_CATEGORY(lcGrids, "assi.grids")
