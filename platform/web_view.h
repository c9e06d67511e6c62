#pragma once

#include "core/document_markup.h"

#include <QObject>
#include <QString>

class QWidget;

namespace tolvane {

// An embedded web view: one page with its history. Navigate returns at once; the loading goes
// on by itself and is reported through the signals, on the window thread.
class WebView : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The view's area, to be placed in its window.
    virtual QWidget* widget() = 0;

    // An address as a user types it: "http:\\host\path", a bare host and a local file's path
    // are read as the old browser control read them.
    virtual void Navigate(const QString& address) = 0;
    // False, and nothing happens, when there is no page to go back or forward to.
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    virtual void GoHome() = 0;
    virtual void Stop() = 0;

    // The inner markup of the current top-level document as it was when it completed, tag
    // names in upper case. A page that could not be loaded reads as kCannotFindServerPage.
    virtual DocumentMarkup documentMarkup() const = 0;

    // A text its window keeps with the view.
    QString Tag;

signals:
    // What a status bar would show: a hovered link's address ("" once it is left), or where
    // a load stands.
    void StatusTextChange(const QString& text);
    // The load's progress out of its maximum.
    void ProgressChange(int progress, int maximum);
    // A load of the top-level document has ended, whether or not it succeeded.
    void DownloadComplete();
    // A document has completed: each frame, then the top-level document last.
    void DocumentComplete(const QString& address);
};

}  // namespace tolvane
