#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

// The application object exists while tests run, not while they are listed,
// so that listing needs no display.
class ApplicationEnvironment : public ::testing::Environment {
public:
    ApplicationEnvironment(int& argc, char** argv) : argc_(argc), argv_(argv) {}
    void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<QApplication> app_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment(argc, argv));
    return RUN_ALL_TESTS();
}
