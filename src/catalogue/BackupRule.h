// When a catalogue file may become its own backup; pure.
#pragma once
#include <string>

// The entry lines ("Files", "Folders", "GoodFolders") of a catalogue file's text.
int CatalogueEntryLines(const std::string& text);

// The backup is the last good file and never becomes worse: a text replaces it only when it holds
// entries, and at least half as many as the backup. A rebuild that lost most entries at once (a
// folder away, a file cut short) leaves the backup as it was; a real removal of many programs
// reaches the backup once the file holds half of its entries again, and until then a lost file
// comes back with entries the next rebuild removes as usual.
bool CatalogueBackupMayBeReplaced(const std::string& newText, const std::string& backupText);
