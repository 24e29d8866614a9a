#include <QApplication>
#include <QDir>
#include <QHashSeed>
#include <QLocale>
#include <QStyleFactory>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Parse gtest's flags before Qt sees them, so --gtest_list_tests works without a display.
    ::testing::InitGoogleTest(&argc, argv);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/assi-test-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QHashSeed::setDeterministicGlobalSeed();

    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale::c());
    // QApplication took the C library's locale from the environment; tests that
    // need a regional format set it themselves with ScopedLocale.
    std::setlocale(LC_ALL, "C");

    return RUN_ALL_TESTS();
}
