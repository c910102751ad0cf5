#pragma once

namespace asv {

// Halves go away from zero: RoundNum(-2.5, 0) = -3.
double RoundNum(double x, int digits);
// Anything above a tenth of the last digit goes up (away from zero): 10.2 -> 11, 10.05 -> 10.
double RoundUpNum(double x, int digits);

// The options the VAT split depends on; normally the in-memory copies of the shared options.
struct VatOptions {
    int amountDecimals = 0; // "금액소수점수"
    int rounding = 0;       // "부가세소수처리": 0 truncate, 1 round half up, 2 round up

    static VatOptions current();
};

// Splits qty x price by the VAT mode (0 none, 1 included, 2 on top) into supply and tax. An unknown
// mode leaves both untouched, an unknown rounding option the tax ("fixme" is shown); false then.
bool CalcVAT(int vatType, double qty, double price, double& supply, double& tax);
bool CalcVAT(int vatType, double qty, double price, double& supply, double& tax, const VatOptions& options);

} // namespace asv
