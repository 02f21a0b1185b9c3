// Texts from the core (questions, warnings, errors) in the user's language.
#pragma once

#include <QString>

#include <string>

namespace bs::app {

// The core text translated: it is matched against the core's formats, the
// format translated and the inserted values put back. Texts that match no
// format stay as they are. Line breaks (CR in the core) become "\n".
QString CoreText(const std::string& english);

}  // namespace bs::app
