#pragma once
// The About window: name, author and three links handed to the desktop.
// Not modal and without an owner: it may stay open during play.

#include <QWidget>

namespace trevak {

class PlatformServices;

// Fixed link targets; the captions show them in short.
inline constexpr char kAuthorName[] = "Tým Trevak";
inline constexpr char kAuthorEmail[] = "trevak@example.org";
inline constexpr char kMailTarget[] = "mailto:trevak@example.org?subject=Trevak&body=Dobrý den, ";
// The program's page on the author's site, and the program's own site.
inline constexpr char kAuthorSitePage[] = "https://www.example.org/trevak/";
inline constexpr char kProgramSite[] = "https://trevak.example.com";

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(PlatformServices &services);

    // Shows the window at its fixed place on the screen; an open window stays as it is.
    void showAtFixedPosition();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openLink(const char *target, const QString &caption);

    PlatformServices &m_services;
};

}  // namespace trevak
