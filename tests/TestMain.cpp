// Every test runs against real widgets on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

// A program registered for the server backend runs its tests there only when the test command
// started a server; without one they are reported skipped, not failed.
class ServerBackend : public ::testing::Environment {
  public:
    void SetUp() override {
        if (!qEnvironmentVariableIsEmpty("KOVALINE_TEST_BACKEND") &&
            qEnvironmentVariableIsEmpty("KOVALINE_TEST_PG")) {
            GTEST_SKIP() << "Fara server PostgreSQL de test (KOVALINE_TEST_PG nu este setat)";
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ServerBackend);  // gtest owns it
    return RUN_ALL_TESTS();
}
