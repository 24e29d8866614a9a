#include "Logging.h"

Q_LOGGING_CATEGORY(lcPlatform, "assi.platform")
