// File associations on a freedesktop desktop: Tarvo becomes the default
// program of a file type by standing first in the type's list of
// "[Default Applications]" in the user's mimeapps.list, with its own desktop
// entry "tarvo.desktop" in the user's applications folder naming the running
// program. The list as it was before is kept in a backup of Tarvo's own
// ($XDG_CONFIG_HOME/tarvo/mimeapps-backup.list) and comes back on release.
// A desktop's own "NAME-mimeapps.list" is read first by that desktop, so an
// entry there naming another program wins; claiming puts Tarvo first there
// too, releasing takes it out again.
//
// mimeapps.list belongs to the whole desktop: it is rewritten through a
// temporary file, every line that is not Tarvo's stays byte for byte, other
// programs in a list are never dropped, and a file that is read-only or that
// the desktop's readers would reject is not touched.
//
// Extensions are lower case without a dot ("mp3"); one without MIME types in
// association_types.h is never associated, and claiming or releasing it only
// stores the wish. Every routine runs on the window thread, or on the
// program's only thread during the command-line switches; none shows a
// message.
#pragma once

#include <string>

#include "core.h"

namespace tarvo {

// Tarvo is first for every MIME type of the extension in mimeapps.list,
// no desktop's own list names another program first, and Tarvo's desktop
// entry starts the running program (false after the program was moved).
// Changes no file.
bool IsAssociated(const Core& core, const std::string& extension);

// Makes Tarvo the extension's default program, writes its desktop entry for
// the running program, and stores that the user wants this
// (`WriteAssociationFlag`), the latter also when the desktop's files could
// not be changed. A type already Tarvo's keeps its earlier backup.
void ClaimAssociation(const Core& core, const std::string& extension);

// Gives the extension's types back to the programs of the backup, keeping
// any program added to a list since; removes Tarvo's desktop entry once no
// type names it, and stores that the user no longer wants the type.
void ReleaseAssociation(const Core& core, const std::string& extension);

// Tells the desktop that the associations changed (after a batch of claims
// and releases): rebuilds the MIME cache of the user's applications folder.
void NotifyAssociationsChanged(const Core& core);

// The deferred start-up's claim: with `claim_associations_at_startup` on,
// takes back mp3, wav and ogg, in this order, where the user wanted Tarvo
// and it is not associated any more (another program took the type, or the
// program moved). No notification follows.
void ClaimAssociationsAtStartup(const Core& core);

// "-reg": claims all five types, then notifies. "-unreg": releases each of
// the five that is associated, then notifies.
void ClaimAllAssociations(const Core& core);
void ReleaseAllAssociations(const Core& core);

}  // namespace tarvo
