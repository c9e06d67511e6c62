// A bare QtWebEngine program that loads one local page and ends, printing how long that took
// from the program's start: what any web window costs, to measure Tolvane's against.
#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QWebEngineView view;
    view.resize(400, 300);
    view.show();
    QObject::connect(&view, &QWebEngineView::loadFinished, &app, [&clock](bool ok) {
        QTextStream(stdout) << (ok ? "loaded " : "failed ") << clock.elapsed() << Qt::endl;
        QCoreApplication::exit(ok ? 0 : 1);
    });
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    return QApplication::exec();
}
