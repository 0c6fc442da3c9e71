#pragma once

// Rebuilding the field list of the current data source with the message a broken source gets.

#include <string>

namespace etikor {

class TDM;
class TDataSet;

// Fills the data module's field list from `source`. When opening the source fails with a
// database error, shows "Hibás tábla file! (Hibakód: <error>)" and leaves the list empty;
// returns false then.
bool RebuildFieldList(TDM& dm, TDataSet& source);

// The message of a data source that cannot be read: "Hibás tábla file! (Hibakód: <error>)".
void ShowBrokenSource(const std::string& error);

} // namespace etikor
