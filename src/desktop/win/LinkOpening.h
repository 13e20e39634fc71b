#pragma once
// Opening the web link that a show handed over, once the saver has ended.
#include <string>

namespace saver::win {

// The class of the running system (see desktop/OperatingSystemClass.h).
int SystemOperatingSystemClass();

// The browser's executable, lower case, from the default verb's command of the http handler;
// empty when the registry has none.
std::string DefaultBrowserFromDefaultVerb();
// The same from the handler's "open" command.
std::string DefaultBrowserFromOpenCommand();

// On Windows 2000 and XP the default browser is started with the link and waited for, so that
// the saver process lives until the browser closes; nothing opens when no browser is registered.
// Elsewhere the shell opens the link. Does nothing for an empty link.
void OpenLink(const std::string& link);

}  // namespace saver::win
