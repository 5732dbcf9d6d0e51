// The program's entry: runs the start-up sequence and the message loop.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.show();
    return QApplication::exec();
}
