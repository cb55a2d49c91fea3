// The loan window's class and control ids, numbered in the order of its control table.
#pragma once

inline constexpr char kLoanWindowClass[] = "FORM_TALLYMAX_LOAN_CLASS";

enum LoanControlId : int {
    kIdLoanAmountLabel = 1000,
    kIdLoanAmount,
    kIdLoanInterestLabel,
    kIdLoanInterest,
    kIdLoanYearsLabel,
    kIdLoanYears,
    kIdLoanDateLabel,
    kIdLoanDate,
    kIdLoanCompoundingLabel,
    kIdLoanCompounding,
    kIdLoanPaymentLabel,
    kIdLoanPayment,
    kIdLoanCountLabel,
    kIdLoanCount,
    kIdLoanYearlyLabel,
    kIdLoanYearly,
    kIdLoanPrincipalLabel,
    kIdLoanPrincipal,
    kIdLoanChargesLabel,
    kIdLoanCharges,
    kIdLoanCostLabel,
    kIdLoanCost,
    kIdLoanNameLabel,
    kIdLoanNames,
    kIdLoanAdd,
    kIdLoanRename,
    kIdLoanRemove,
    kIdLoanLock,
    kIdLoanCalculate,
    kIdLoanPrint,
    kIdLoanClear,
    kIdLoanClose,
    kIdLoanScheduleLabel,
    kIdLoanSchedule,  // 1033
};
