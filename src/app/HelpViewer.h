#pragma once

// The help viewer window: shows one topic of the help file at a time, with a list of every
// topic to move between them. Not modal; the designer stays usable beside it.

#include "app/HelpFile.h"

#include <QDialog>

class QListWidget;
class QTextBrowser;

namespace etikor {

class THelpViewer final : public QDialog {
    Q_OBJECT
public:
    THelpViewer(THelpFile file, QWidget* parent);

    void ShowTopic(int topic);
    int CurrentTopic() const { return FCurrent; }
    QTextBrowser* Browser() const { return FBrowser; }

private:
    THelpFile FFile;
    QListWidget* FList = nullptr;
    QTextBrowser* FBrowser = nullptr;
    int FCurrent = 0;
};

} // namespace etikor
