#pragma once

#include <QDate>

#include <functional>
#include <optional>

class Main;
class QWidget;

// Connects the recipe window's shopping list and menu planner commands: cmdShop_0 (add the current line) and
// cmdShop_1 (add all lines), cmdMenuAdd, cmdMenu and mnuViewMenu (menu planner), cmdShopSL and
// mnuViewSL (shopping list).
void attachShopping(Main& main);

// The date picker "Menu Add" asks; frmCalendar unless replaced (tests replace it; nullptr restores it).
using MenuDatePicker = std::function<std::optional<QDate>(QWidget* parent)>;
void setMenuDatePicker(MenuDatePicker picker);
