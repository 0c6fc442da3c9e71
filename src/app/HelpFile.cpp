#include "app/HelpFile.h"

#include "services/AppPaths.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace etikor {

namespace {
// The texts of this file are translated under one name.
struct THelpFileText {
    Q_DECLARE_TR_FUNCTIONS(THelpFileText)
};
} // namespace

THelpFile THelpFile::Parse(const QString& text) {
    THelpFile file;
    static const QRegularExpression section(
        QStringLiteral("<section\\s+id=\"topic-(\\d+)\"\\s*>(.*?)</section>"),
        QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression heading(QStringLiteral("<h[12][^>]*>(.*?)</h[12]>"),
                                            QRegularExpression::DotMatchesEverythingOption |
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    for (auto it = section.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        bool ok = false;
        const int number = m.captured(1).toInt(&ok);
        if (!ok)
            continue;
        THelpTopic topic;
        topic.Number = number;
        topic.Html = m.captured(2).trimmed();
        const QRegularExpressionMatch h = heading.match(topic.Html);
        if (h.hasMatch())
            topic.Title = h.captured(1).remove(tags).simplified();
        file.FTopics.insert(number, topic);
    }
    return file;
}

THelpFile THelpFile::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A help file is a few dozen kilobytes; anything far larger is not ours.
    if (file.size() > 8 * 1024 * 1024)
        return {};
    return Parse(QString::fromUtf8(file.readAll()));
}

QString THelpFile::Locate(const QString& workingFolder, const QString& programFolder,
                          const QString& sharedFolder) {
    const QString name = QString::fromLatin1(kHelpFileName);
    for (const QString& folder : {workingFolder, programFolder, sharedFolder}) {
        if (folder.isEmpty())
            continue;
        for (const QString& candidate : {name, name.toLower()}) {
            const QString path = TAppPaths::Join(folder, candidate);
            if (QFileInfo(path).isFile())
                return path;
        }
    }
    return {};
}

const THelpTopic* THelpFile::Topic(int topic) const {
    auto it = FTopics.constFind(topic);
    return it == FTopics.constEnd() ? nullptr : &*it;
}

QString THelpFile::Page(int topic) const {
    if (const THelpTopic* t = Topic(topic))
        return t->Html;
    return THelpFileText::tr("<h2>Súgó</h2><p>A(z) ") + QString::number(topic) +
           THelpFileText::tr(". súgótéma nem található a súgófájlban.</p>");
}

} // namespace etikor
