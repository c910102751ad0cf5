#pragma once

namespace asv {

// The options every screen uses, read once at start-up and after each options dialog save. Open
// screens keep what they read when they opened.
struct SharedOptions {
    int qtyDecimals = 0;            // "수량소수점수"
    int priceDecimals = 0;          // "단가소수점수"
    int amountDecimals = 0;         // "금액소수점수"
    int vatRounding = 0;            // "부가세소수처리"
    bool basePriceChange[2] = {};   // "기초단가변경_0" purchase slips, "_1" sales slips
    int stockAlert = 3;             // "적정재고부족알림": 1 proper level left, 2 no stock
    bool stockShortage = false;     // "재고부족시처리"
    bool oneLineSubtotal = false;   // setting "한줄소계표시"
    bool showTrailingZeros = false; // setting "소수이하0표시"

    static SharedOptions& current();
};

// Loads the copies above from the options table and the settings; false when a read failed.
bool ReadOptions();

} // namespace asv
