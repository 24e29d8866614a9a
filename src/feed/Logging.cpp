#include "feed/Logging.h"

Q_LOGGING_CATEGORY(lcFeed, "assi.feed")
