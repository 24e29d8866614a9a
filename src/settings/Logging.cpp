#include "settings/Logging.h"

Q_LOGGING_CATEGORY(lcSettings, "assi.settings")
