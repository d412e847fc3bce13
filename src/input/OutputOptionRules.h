#pragma once

#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo {

// The rules of the output-file options below the pages. They work on the
// option values of the workspace.

// optCSVSeparator: the statistics file takes the extension "csv".
void SelectCsvSeparator(WorkspaceOptions& options);
// optTSVSeparator: the statistics file takes the extension of txtExtension in
// lower case.
void SelectTsvSeparator(WorkspaceOptions& options);
// txtExtension changed (its new text is in options.extension).
void ExtensionChanged(WorkspaceOptions& options);
// txtStatisticsFileName: a name without "." gets one, so that the extension
// has its place.
void StatisticsFileNameLostFocus(WorkspaceOptions& options);
// chkSplitFile clicked (its new state is in options.splitFile): unchecking
// empties the lines per part.
void SplitFileClick(WorkspaceOptions& options);
// txtNoOfLines, while chkSplitFile is checked: a whole number from 2 to 32767
// is written back as plain digits; anything else is refused with a message
// and the function returns false (the focus goes back to the box).
bool NoOfLinesLostFocus(WorkspaceOptions& options, std::string_view decimalSymbol,
                        UserPrompt& prompt);

}  // namespace kivo
