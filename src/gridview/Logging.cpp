#include "Logging.h"

Q_LOGGING_CATEGORY(lcGridView, "assi.gridview")
