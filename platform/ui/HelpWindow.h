// The program's own help viewer, in place of the platform's compiled-help call: one window that shows
// the HTML pages of the help folder with their links, their style sheet, Back, Forward and Contents.
// It needs no desktop launcher, so help opens on every machine.
#pragma once
#include <QString>
#include <QStringList>

class QTextBrowser;
class QWidget;

namespace ui {

// The folders searched for the help pages, in order: beside the program, an installed share folder,
// then the working folder.
QStringList HelpFolders();

// Shows a page of the help folder (a file name such as "introduction.htm") in the help window,
// opening the window on first use and bringing it to the front. When no folder holds the page the
// window says so and names the folders it looked in; false then.
bool ShowHelp(const QString& topic);

// The open help window and its page view; nullptr when the window is not open.
QWidget* HelpWindow();
QTextBrowser* HelpBrowser();

}  // namespace ui
