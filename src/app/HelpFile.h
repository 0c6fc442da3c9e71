#pragma once

// The help file "Etisg.hlp": one UTF-8 HTML file whose topics are sections
// `<section id="topic-N">...</section>`, each with its number N and a heading. Reading it needs
// no window, so the topics can be checked without a screen.

#include <QMap>
#include <QString>

namespace etikor {

inline constexpr const char* kHelpFileName = "Etisg.hlp";

struct THelpTopic {
    int Number = 0;
    QString Title; // the first <h1> or <h2> of the section, without tags
    QString Html;  // the section's inner HTML
};

class THelpFile {
public:
    // Parses the text of a help file; sections without a readable number are skipped.
    static THelpFile Parse(const QString& text);
    // Reads a file; an unreadable file gives no topics.
    static THelpFile Load(const QString& path);
    // Where the program looks for its help file: the working folder, then the program folder,
    // then an installed program's shipped files, each also with the lower-case name; empty
    // when there is none.
    static QString Locate(const QString& workingFolder, const QString& programFolder,
                          const QString& sharedFolder = {});

    bool Has(int topic) const { return FTopics.contains(topic); }
    const THelpTopic* Topic(int topic) const;
    QList<int> Numbers() const { return FTopics.keys(); }
    // The page shown for a topic: the topic itself, or a short page saying it is missing.
    QString Page(int topic) const;

private:
    QMap<int, THelpTopic> FTopics;
};

} // namespace etikor
