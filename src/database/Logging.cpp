#include "database/Logging.h"

Q_LOGGING_CATEGORY(lcDatabase, "assi.database")
