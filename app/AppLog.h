#pragma once

#include <QLoggingCategory>

// The application's log category ("mobr.app"): warnings show by default,
// debug output with QT_LOGGING_RULES="mobr.app.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcApp)
