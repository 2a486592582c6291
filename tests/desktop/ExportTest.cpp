// What the window exports after the full example script ran on the example board: the marker list
// as the filter shows it (CSV), and the run's report, the same as lumora-cli writes.

#include "record/Waivers.h"
#include "tests/desktop/DesktopSupport.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTableView>

#include <memory>

using namespace lumora;
using namespace lumora::desktop;
using namespace lumora::desktop::test;

namespace {

// The fields of a CSV line (quotes as RFC 4180 writes them).
QStringList csvFields(const QString& line) {
    QStringList fields{""};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
            fields.last() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields << "";
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

QByteArray fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The report without what differs from one run to the next: its date and the tests' seconds.
QJsonObject withoutTimes(QJsonObject report) {
    report.remove("date");
    QJsonArray scripts = report["scripts"].toArray();
    for (auto script = scripts.begin(); script != scripts.end(); ++script) {
        QJsonObject scriptObject = script->toObject();
        QJsonArray tests = scriptObject["tests"].toArray();
        for (auto test = tests.begin(); test != tests.end(); ++test) {
            QJsonObject testObject = test->toObject();
            testObject.remove("seconds");
            *test = testObject;
        }
        scriptObject["tests"] = tests;
        *script = scriptObject;
    }
    report["scripts"] = scripts;
    return report;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramSurroundings> surroundings_;
    std::unique_ptr<ExampleRun> run_;
    std::unique_ptr<MessageReader> messages_;

    BoardWindow& board() { return run_->board(); }

  private slots:
    void initTestCase() {
        surroundings_ = std::make_unique<ProgramSurroundings>();
        run_ = std::make_unique<ExampleRun>(*surroundings_);
        messages_ = std::make_unique<MessageReader>();
    }
    void cleanupTestCase() {
        messages_.reset();
        run_.reset();
        surroundings_.reset();
    }

    // Catches an export of every marker where the user narrowed the list, in another order than
    // the list's, or with fields that split where a text holds a comma or a quote.
    void theListIsExportedAsTheFilterShowsIt() {
        run_->selectGridRow(run_->gridRowOf("Via Edge To Via Edge"));
        board().list().sortByColumn(MarkerTable::Measured, Qt::DescendingOrder);
        const QAbstractItemModel& list = *board().list().model();
        const QString file = surroundings_->filePath("via-to-via.csv");
        QVERIFY(board().exportList(file));

        QVERIFY(list.rowCount() > 0 && list.rowCount() < static_cast<int>(run_->drawn().drcs.size()));
        const QStringList lines = QString::fromUtf8(fileText(file)).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), list.rowCount() + 1);
        QCOMPARE(csvFields(lines[0]), (QStringList{"Test", "Check", "Severity", "Measured", "Required",
                                                   "Items", "Board", "Waiver", "X", "Y", "Key"}));
        for (int row = 0; row < list.rowCount(); ++row) {
            const QStringList fields = csvFields(lines[row + 1]);
            QCOMPARE(fields.size(), 11);
            for (int column = 0; column < MarkerTable::ColumnCount; ++column) {
                QCOMPARE(fields[column], list.index(row, column).data().toString());
            }
            const engine::DrcMarker& marker =
                board().table().marker(board().filter().mapToSource(list.index(row, 0)).row());
            QCOMPARE(fields[8].toDouble(), marker.at.x);
            QCOMPARE(fields[9].toDouble(), marker.at.y);
        }
        QVERIFY(std::ranges::any_of(lines, [](const QString& line) { return line.contains("\","); }));

        QVERIFY(!board().exportList(surroundings_->filePath("no-such-folder/list.csv")));
        QTRY_COMPARE(messages_->icons, QList{QMessageBox::Critical});
        messages_->icons.clear();
        messages_->texts.clear();
    }

    // Catches a report from the window that is not the one lumora-cli writes for the same run (a
    // writer of its own, the window's waivers left out): the two agree but for the date and the
    // tests' seconds, with a waiver written from the window counted as waived in both.
    void theReportIsTheOneTheCommandLineWrites() {
        std::string key;
        for (int row = 0; row < board().table().rowCount() && key.empty(); ++row) {
            key = board().table().row(row).key;
        }
        QVERIFY(!key.empty());
        saveWaivers(waiversFileBeside(run_->designFile.toStdString()),
                    {{key, "accepted", "a", "2026-01-01"}});
        const QString fromWindow = surroundings_->filePath("window.report.json");
        QVERIFY(run_->window.exportReport(fromWindow));

        QTemporaryDir cliHome;
        const QString fromCli = cliHome.filePath("cli.report.json");
        QProcess cli;
        cli.start(LUMORA_CLI, {"--design", run_->designFile, "--home", cliHome.path(), "--report", fromCli,
                               "-q", QString::fromStdString(run_->script->strFilename)});
        QVERIFY(cli.waitForFinished(60000));
        const QJsonObject window = QJsonDocument::fromJson(fileText(fromWindow)).object();
        const QJsonObject command = QJsonDocument::fromJson(fileText(fromCli)).object();
        QVERIFY(!command.isEmpty());
        QCOMPARE(window["totals"].toObject()["waived"].toInt(), 1);
        QCOMPARE(withoutTimes(window), withoutTimes(command));
        QVERIFY(messages_->texts.isEmpty());
    }

    // Catches an .html export written as JSON, or without what KORVEN said of the design: the window
    // writes the page lumora-cli --html writes, with the markers' table and the design's file.
    void anHtmlExportIsThePageForPeople() {
        const QString page = surroundings_->filePath("window.html");
        QVERIFY(run_->window.exportReport(page));
        const QByteArray text = fileText(page);
        QVERIFY(text.startsWith("<!DOCTYPE html>"));
        QVERIFY(text.contains("<table id=\"markers\">"));
        QVERIFY(text.contains(QFileInfo(run_->designFile).fileName().toUtf8()));
        QVERIFY(messages_->texts.isEmpty());
    }
};

QTEST_MAIN(ExportTest)
#include "ExportTest.moc"
