#include <gtest/gtest.h>

#include "loan/loan_compute.h"

// The amount is held as a double: a typed amount beyond its range shows as the
// calculation sees it, and no field text outgrows what the settings file keeps.
TEST(LoanFieldLimits, AmountsAreShownAsTheCalculationHoldsThem) {
    EXPECT_EQ(AmountFieldText("1e400"), "Infinity");
    EXPECT_LE(AmountFieldText("1.7e308").size(), 511u);
    LoanInputs inputs;
    inputs.amount = AmountFieldText("1e400");
    inputs.interest = "8.25%";
    inputs.years = "30";
    EXPECT_EQ(CalculateLoan(inputs).fault, LoanInputFault::Amount);
}
