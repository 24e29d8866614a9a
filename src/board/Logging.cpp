#include "board/Logging.h"

Q_LOGGING_CATEGORY(lcBoard, "assi.board")
