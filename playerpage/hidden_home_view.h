// The main window's hidden HTML view: it visits the product's home page
// once at start and is never seen.
#pragma once

class QUrl;
class QWebEngineView;
class QWidget;

namespace velmora {

// "http://" + the home host + "/?ver=1.6"; empty when the host setting
// does not make a valid address.
QUrl hiddenHomeViewUrl();

// Creates the view as a child of `parent` (the main window's central
// widget), at its design place outside the client area, hidden, and
// starts loading the home page. Nothing reads it afterwards.
QWebEngineView* createHiddenHomeView(QWidget* parent);

}  // namespace velmora
