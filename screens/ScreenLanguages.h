#ifndef QX7_SCREENLANGUAGES_H
#define QX7_SCREENLANGUAGES_H

#include <QString>
#include <QStringList>

class Screens;

// The texts of every screen in one language, as start-up loads them: each screen's group goes to
// the screen, the key labels to the screens' table, and "other" to the tray's words for the
// mouse's DPI changes.
namespace ScreenLanguages {

// The groups loaded, in order; "other" comes last.
QStringList groups();
// Loads `language` into the screens; returns the main scene's group, which the main screen keeps.
QStringList load(Screens& screens, const QString& language);

} // namespace ScreenLanguages

#endif // QX7_SCREENLANGUAGES_H
