#include "wall/Logging.h"

Q_LOGGING_CATEGORY(lcWall, "assi.wall")
