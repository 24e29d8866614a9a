#include "data/Logging.h"

Q_LOGGING_CATEGORY(lcData, "assi.data")
