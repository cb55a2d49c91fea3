#include <gtest/gtest.h>

#include "measure/measure.h"

// "Infinity" typed into a field, or dimensions whose product leaves the range, give no
// result, as a zero dimension does.
TEST(MeasureLimits, NoResultBeyondTheRange) {
    struct Case {
        const char* length;
        const char* width;
    } cases[] = {{"Infinity", "10"}, {"1e200", "1e200"}};
    for (const Case& c : cases) {
        MeasureForm form;
        form.kind = MeasureKind::Area;
        form.length = MeasureFieldText(c.length);
        form.width = MeasureFieldText(c.width);
        MeasureOutcome outcome = CalculateMeasure(form);
        EXPECT_FALSE(outcome.calculated) << c.length << " x " << c.width;
        EXPECT_TRUE(outcome.tape.empty()) << c.length << " x " << c.width;
    }
}
