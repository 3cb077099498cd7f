#include "app/MessageGuard.h"
#include "app/window/ProgramEntry.h"
#include "fakes/TempFolder.h"

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <memory>
#include <random>
#include <sys/stat.h>

using korvel::app::ProgramEntry;
using korvel::fakes::TempFolder;
namespace fs = std::filesystem;

// The program started as a process, as a desktop, a service manager or an operator starts it:
// each copy is the test program KORVEL_PROBE, which differs from the real one only in printing a
// refused start instead of showing it in a box.
class ProgramProcessTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_temp = std::make_unique<TempFolder>();
        fs::create_directories(m_temp->root() / "run");
        fs::permissions(m_temp->root() / "run", fs::perms::owner_all);
    }
    void cleanup() {
        for (QProcess* process : m_processes) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished();
            }
        }
        qDeleteAll(m_processes);
        m_processes.clear();
        m_temp.reset();
    }

    void aSecondStartFromTheSameFolderIsRefusedAndEndsWithZero() {
        QProcess* first = start("one/alpha");
        QVERIFY(waitForLock(first, "alpha"));
        for (const char* folder : {"one/alpha", "two/alpha"}) {
            QProcess* second = start(folder);
            QVERIFY(second->waitForFinished(10000));
            QCOMPARE(second->exitStatus(), QProcess::NormalExit);
            QCOMPARE(second->exitCode(), 0);
            QCOMPARE(
                QString::fromUtf8(second->readAllStandardOutput()).trimmed(),
                QString("Application already running: Instance of this application is already running."));
        }
        QCOMPARE(first->state(), QProcess::Running);
        QVERIFY(stop(first, SIGTERM));
    }

    // However long the first one has been running.
    void aLockHeldForHoursStillRefusesASecondStart() {
        QProcess* first = start("alpha");
        QVERIFY(waitForLock(first, "alpha"));
        QFile lock(path("run") + "/vexdal4alpha");
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600),
                                 QFileDevice::FileModificationTime));
        lock.close();
        QProcess* second = start("alpha");
        QVERIFY(second->waitForFinished(10000));
        QVERIFY(second->readAllStandardOutput().startsWith("Application already running"));
        QVERIFY(stop(first, SIGTERM));
    }

    void copiesInFoldersOfOtherNamesRunSideBySideWithSettingsOfTheirOwn() {
        TempFolder::writeFile(dataFile("alpha"), "[General]\nDefaultPS=\"ALPHA\"\n");
        TempFolder::writeFile(dataFile("beta"), "[General]\nDefaultPS=\"BETA\"\n");
        QProcess* alpha = start("alpha");
        QProcess* beta = start("beta");
        QVERIFY(waitForLock(alpha, "alpha"));
        QVERIFY(waitForLock(beta, "beta"));
        QVERIFY(stop(alpha, SIGTERM));
        QVERIFY(stop(beta, SIGTERM));
        for (const char* name : {"alpha", "beta"}) {
            const std::string saved = TempFolder::readFile(dataFile(name));
            QVERIFY2(saved.find("DefaultPS=\"" + QByteArray(name).toUpper().toStdString() + "\"") !=
                         std::string::npos,
                     saved.c_str());
            QVERIFY2(saved.find("[Radiotext]") != std::string::npos, "the whole file is saved");
        }
    }

    // A logout, a shutdown or a service stop: the close sequence runs and saves, without asking
    // even when Confirm Exit is set.
    void aTerminationSignalSavesTheSettingsAndEndsWithZero() {
        for (const int signal : {SIGTERM, SIGINT}) {
            TempFolder::writeFile(dataFile("studio"), "[Config]\nConfirmExit=1\nTop=77\n");
            QProcess* program = start("studio");
            QVERIFY(waitForLock(program, "studio"));
            QVERIFY(stop(program, signal));
            const std::string saved = TempFolder::readFile(dataFile("studio"));
            QVERIFY2(saved.find("ConfirmExit=1\nTop=77\n") != std::string::npos, saved.c_str());
            QVERIFY2(saved.find("CTState=Stop") != std::string::npos, saved.c_str());
        }
    }

    void theLockOfAKilledInstanceDoesNotBlockTheNextStart() {
        QProcess* killed = start("studio");
        QVERIFY(waitForLock(killed, "studio"));
        killed->kill();
        QVERIFY(killed->waitForFinished());
        QVERIFY(fs::exists(m_temp->root() / "run/vexdal4studio"));
        QProcess* next = start("studio");
        QVERIFY(waitForLock(next, "studio"));
        QVERIFY(stop(next, SIGTERM));
    }

    // Files the program reads that a broken disk, a careless operator or playout software can
    // leave as anything: the program starts, keeps running and saves on the way out.
    void hostileFilesNeitherStopNorHangTheProgram_data() {
        QTest::addColumn<QString>("role");
        QTest::addColumn<QString>("kind");
        for (const char* role : {"translation", "skin", "source"}) {
            for (const char* kind : {"binary", "huge", "pipe", "loop", "device"}) {
                QTest::newRow(QByteArray(role).append(' ').append(kind).constData()) << role << kind;
            }
        }
    }
    void hostileFilesNeitherStopNorHangTheProgram() {
        QFETCH(QString, role);
        QFETCH(QString, kind);
        const fs::path hostile =
            role == "translation" ? m_temp->root() / "studio/fennel.lng" : m_temp->root() / "files/hostile";
        makeHostile(hostile, kind);
        const std::string name = hostile.string();
        TempFolder::writeFile(dataFile("studio"),
                              role == "skin" ? "[Config]\nLogoPicture=" + name + "\n"
                              : role == "source"
                                  ? "[DPS1]\nEnabled=1\nFromFile=1\nReadFrom=1\nSourceFile=" + name +
                                        "\n[Radiotext]\nEnabled=1\nFromFile=1\nSourceFile=" + name + "\n"
                                  : std::string("[Config]\n"));
        QProcess* program = start("studio");
        QVERIFY(waitForLock(program, "studio"));
        QTest::qWait(2500); // the text sources are polled every second
        QCOMPARE(program->state(), QProcess::Running);
        QVERIFY(stop(program, SIGTERM));
        const std::string saved = TempFolder::readFile(dataFile("studio"));
        QVERIFY2(saved.find("[Radiotext]") != std::string::npos, "the whole file is saved");
    }

    void theRefusalIsAnErrorBoxOfItsOwn() {
        const korvel::tests::MessageGuard messages;
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            owner = box->parentWidget();
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            box->accept();
        });
        ProgramEntry::showAlreadyRunning();
        QCOMPARE(caption, QString("Application already running"));
        QCOMPARE(text, QString("Instance of this application is already running."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(owner, nullptr);
    }

private:
    // Starts a copy of the program that lies in the named folder under the test's folder.
    QProcess* start(const std::string& folder) {
        const fs::path executable = m_temp->root() / folder / "korvel";
        if (!fs::exists(executable)) {
            fs::create_directories(executable.parent_path());
            fs::copy_file(KORVEL_PROBE, executable);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", path("home"));
        environment.insert("XDG_DATA_HOME", path("data"));
        environment.insert("XDG_RUNTIME_DIR", path("run"));
        environment.insert("KXIO_IMAGE", path("encoder.img"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        auto* process = new QProcess;
        m_processes.append(process);
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->start(QString::fromStdString(executable.string()), {});
        process->waitForStarted();
        return process;
    }

    // Until the process holds the instance lock of the title.
    bool waitForLock(QProcess* process, const QString& title) {
        const QString lock = path("run") + "/vexdal4" + title;
        const QByteArray pid = QByteArray::number(process->processId());
        for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QTest::qWait(20)) {
            QFile file(lock);
            if (file.open(QIODevice::ReadOnly) && file.readLine().trimmed() == pid) {
                return true;
            }
            if (process->state() == QProcess::NotRunning) {
                return false;
            }
        }
        return false;
    }

    bool stop(QProcess* process, int signal) {
        ::kill(static_cast<pid_t>(process->processId()), signal);
        return process->waitForFinished(10000) && process->exitStatus() == QProcess::NormalExit &&
               process->exitCode() == 0;
    }

    // binary: random bytes; huge: 200 MB; pipe: a FIFO nobody writes; loop: a link to itself;
    // device: a link to a device that never ends.
    static void makeHostile(const fs::path& file, const QString& kind) {
        fs::create_directories(file.parent_path());
        if (kind == "binary") {
            std::string bytes(65536, '\0');
            std::mt19937 random(12);
            std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(random()); });
            TempFolder::writeFile(file, bytes);
        } else if (kind == "huge") {
            TempFolder::writeFile(file, "Title\r\n");
            fs::resize_file(file, 200ULL << 20U);
        } else if (kind == "pipe") {
            QVERIFY(::mkfifo(file.c_str(), 0600) == 0);
        } else if (kind == "loop") {
            fs::create_symlink(file.filename(), file);
        } else {
            fs::create_symlink("/dev/zero", file);
        }
    }

    [[nodiscard]] QString path(const std::string& name) const {
        return QString::fromStdString((m_temp->root() / name).string());
    }
    [[nodiscard]] fs::path dataFile(const std::string& folder) const {
        return m_temp->root() / "data" / folder / "korvel.rds";
    }

    std::unique_ptr<TempFolder> m_temp;
    QList<QProcess*> m_processes;
};

QTEST_MAIN(ProgramProcessTest)
#include "ProgramProcessTest.moc"
