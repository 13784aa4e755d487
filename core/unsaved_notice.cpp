#include "core/unsaved_notice.h"

namespace brontavel {

std::string UnsavedSettingsNotice(const std::string& path, bool reachable, std::string suggested) {
  if (!suggested.empty()) suggested += suggested.back() == '\\' ? "Brontavel" : "\\Brontavel";
  const bool nameUnreachable = !reachable;
  return "Brontavel cannot save its settings in " + path +
         ".\n\nThe changes you make now are used until Brontavel ends, then lost. " +
         (nameUnreachable ? "The folder's name has characters that this Windows cannot hand to Brontavel. " : "") +
         "To keep them, move Brontavel.exe (and Winamp.Lnk) to a folder you can write to" +
         (nameUnreachable ? " whose name has only characters of this Windows' language" : "") +
         (suggested.empty() ? std::string() : ", such as " + suggested) + ", and start it from there.";
}

}  // namespace brontavel
