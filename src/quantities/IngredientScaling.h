#pragma once

#include <QString>

#include <functional>
#include <optional>

// Scaling a recipe's ingredient lines to a new number of servings, as the scale button of the recipe
// window does it.

// Scales the quantity of every «quantity|units|item~» line of an item-line text by factor
// (ScaleIngredientQuantity: unreadable quantities come back marked and set ScalingComplete to "no");
// units and items are kept.
// The result holds the lines as the ingredient grid shows them: three parts a line, text after the last
// "~" dropped. Throws AppError (a zero denominator) without a partial result.
QString ScaleIngredientText(const QString& ingredients, double factor, int mode);

// The scale mode that the preference "scaling" selects: ScaleDecimal for exactly "decimal", else
// ScaleFraction (also when the preference is missing).
int ScaleModeFromPreferences();

// One click of the scale button. baseServes is the servings text that the ingredients correspond to; an
// empty one is taken from serves. The first click with serves unchanged explains what to do; a blank
// serves is refused; otherwise the user confirms, every quantity is scaled by serves / baseServes and the
// outcome is told ("Ingredient scaling complete." or the "Scaling INCOMPLETE." note with the factor).
// When the ingredients were scaled, show receives the new ingredient text before the outcome is told (so
// the grid shows the new quantities under the message); the new text is returned, with baseServes set to
// serves. Returns nothing when nothing changed: explained, refused, declined, or failed (a failure, such
// as servings that read as 0 or a zero denominator, is reported with ShowError "scaling the serving size"
// and leaves baseServes as it was).
std::optional<QString> RunIngredientScaling(const QString& serves, QString& baseServes, const QString& ingredients,
                                            const std::function<void(const QString&)>& show = {});
