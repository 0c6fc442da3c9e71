#pragma once

// Finds Hungarian words among the texts a window shows: every text of a widget tree that has a
// Hungarian accented letter or one of the common Hungarian words of the program's texts.

#include "services/Language.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QWidget>

namespace etikor::test {

inline bool LooksHungarian(const QString& text) {
    static const QRegularExpression accented(QStringLiteral("[áéíóöőúüűÁÉÍÓÖŐÚÜŰ]"));
    static const QSet<QString> words = {
        QStringLiteral("nem"),       QStringLiteral("igen"),      QStringLiteral("vissza"),
        QStringLiteral("sorozat"),   QStringLiteral("cimke"),     QStringLiteral("vagy"),
        QStringLiteral("es"),        QStringLiteral("az"),        QStringLiteral("egy"),
        QStringLiteral("nincs"),     QStringLiteral("mind"),      QStringLiteral("keret"),
        QStringLiteral("hiba"),      QStringLiteral("kapcsolat"), QStringLiteral("nyomtat"),
        QStringLiteral("szerkeszt"), QStringLiteral("alkalmaz"),  QStringLiteral("hossz"),
        QStringLiteral("oldal"),     QStringLiteral("elem"),      QStringLiteral("adatok"),
        QStringLiteral("fileok"),    QStringLiteral("etikett"),   QStringLiteral("kilep"),
        QStringLiteral("ablak"),     QStringLiteral("kep"),       QStringLiteral("szoveg"),
        QStringLiteral("vonal"),     QStringLiteral("uj"),        QStringLiteral("minta"),
        QStringLiteral("sugo"),      QStringLiteral("vege"),      QStringLiteral("rendben")};
    if (accented.match(text).hasMatch())
        return true;
    // File names are the user's ("Sorozat0.sor").
    static const QRegularExpression fileName(QStringLiteral("\\S+\\.[A-Za-z]{3,4}\\b"));
    const QString withoutFiles = QString(text).remove(fileName);
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    for (auto it = word.globalMatch(withoutFiles); it.hasNext();) {
        if (words.contains(it.next().captured().toLower()))
            return true;
    }
    return false;
}

// The texts of a menu and its submenus ("Menu > item").
inline void MenuTexts(const QMenu& menu, const QString& path, QStringList& out) {
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        const QString here = path + QStringLiteral(" > ") + action->text();
        out << here;
        if (!action->toolTip().isEmpty() && action->toolTip() != action->text())
            out << here + QStringLiteral(" (hint: ") + action->toolTip() + QLatin1Char(')');
        if (action->menu())
            MenuTexts(*action->menu(), here, out);
    }
}

// Every text a window and its children show: captions, hints, titles, list entries, headers,
// menus.
inline QStringList ShownTexts(const QWidget& window) {
    QStringList out;
    out << window.windowTitle();
    QList<const QWidget*> widgets{&window};
    for (const QWidget* w : window.findChildren<QWidget*>())
        widgets << w;
    for (const QWidget* w : widgets) {
        out << w->toolTip() << w->statusTip();
        if (const auto* b = qobject_cast<const QAbstractButton*>(w))
            out << b->text();
        if (const auto* l = qobject_cast<const QLabel*>(w))
            out << l->text();
        if (const auto* g = qobject_cast<const QGroupBox*>(w))
            out << g->title();
        if (const auto* e = qobject_cast<const QLineEdit*>(w))
            out << e->placeholderText();
        if (const auto* t = qobject_cast<const QTabWidget*>(w)) {
            for (int i = 0; i < t->count(); ++i)
                out << t->tabText(i) << t->tabToolTip(i);
        }
        if (const auto* c = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < c->count(); ++i)
                out << c->itemText(i);
        }
        if (const auto* v = qobject_cast<const QAbstractItemView*>(w); v && v->model()) {
            for (int i = 0; i < v->model()->columnCount(); ++i)
                out << v->model()->headerData(i, Qt::Horizontal).toString();
            // A list's entries are the program's choices; a grid's cells are the user's data.
            if (qobject_cast<const QListView*>(w)) {
                for (int i = 0; i < v->model()->rowCount(); ++i)
                    out << v->model()->index(i, 0).data().toString();
            }
        }
        if (const auto* bar = qobject_cast<const QMenuBar*>(w)) {
            for (const QAction* action : bar->actions()) {
                out << action->text();
                if (action->menu())
                    MenuTexts(*action->menu(), action->text(), out);
            }
        }
        for (const QAction* action : w->actions())
            out << action->text() << action->toolTip();
    }
    out.removeAll(QString());
    return out;
}

// The shown texts of a window that look Hungarian.
inline QStringList HungarianTexts(const QWidget& window) {
    QStringList out;
    for (const QString& text : ShownTexts(window)) {
        if (LooksHungarian(text))
            out << text;
    }
    return out;
}

// The program's English texts for the life of a test; the source's Hungarian ones after it.
class EnglishTexts {
public:
    EnglishTexts() : FOk(InstallLanguage(TLanguage::English)) {}
    ~EnglishTexts() { UninstallLanguage(); }
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;
    // False when the English translation could not be loaded.
    bool Ok() const { return FOk; }

private:
    bool FOk;
};

} // namespace etikor::test
