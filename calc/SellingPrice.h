#pragma once

// The results of a calculation that went through. Amounts are in euros; the ones the window
// shows are rounded to cents, the working values the search ended on are kept as they were.
struct SellingPrice
{
    double purchaseFee = 0;     // fA
    double costPrice = 0;       // C, per share, rounded
    double grossProfit = 0;     // G: the profit before tax that leaves the wanted profit
    double unroundedPrice = 0;  // the price per share as the search found it
    double price = 0;           // p, the minimum selling price per share, rounded
    double saleFee = 0;         // fS, at the rounded price
    double saleTax = 0;         // the transaction tax of the sale at that price, when one is due
    double profitBeforeTax = 0; // B, rounded
    double profitAfterTax = 0;  // N, rounded

    // The wanted profit lies in the jump of the fee at a bracket boundary: the price is the
    // highest cent still sold below the boundary, and the first cent above it is quoted with
    // its profit after tax.
    bool inexact = false;
    double nextCentPrice = 0;          // p + 0.01
    double nextCentProfitAfterTax = 0; // N2, rounded
    double boundary = 0;               // the sale amount the price is held under
};
