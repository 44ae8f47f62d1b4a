#include "demo/DemoData.h"

#include "masterlists/MasterListKind.h"
#include "recipes/RecipeEncodings.h"
#include "storage/DataFolder.h"
#include "storage/DataSource.h"
#include "storage/NormalizeForMatch.h"
#include "storage/RecordStatus.h"
#include "storage/TableFile.h"

#include <QStringList>

namespace {

struct DemoRecipe
{
    const char* name;
    const char* categories; // "~"-ended names
    const char* serves;
    const char* ingredients; // quantity|units|item~ lines
    const char* instructions; // steps separated by "\n", stored with CR LF
    const char* nutrition;
    const char* rating;
    const char* source;
};

// clang-format off
const DemoRecipe kRecipes[] = {
    {"Banana Bread", "Breads~Breakfast~", "10",
     "3||ripe bananas~1/3|cup|butter, melted~3/4|cup|sugar~1||egg~1|tsp|vanilla extract~1|tsp|baking soda~1|pinch|salt~"
     "1 1/2|cups|all-purpose flour~",
     "Heat the oven to 350 F and butter a 9 x 5 inch loaf pan.\nMash the bananas in a bowl and stir in the melted "
     "butter.\nMix in the sugar, egg and vanilla.\nSprinkle the baking soda and salt over the batter, then fold in "
     "the flour.\nPour into the pan and bake 60 minutes, until a tester comes out clean.\nCool on a rack before slicing.",
     "196|kcal|Calories~6|g|Fat~33|g|Carbohydrates~2|g|Protein~", "5 Stars", "Grandma Rose"},
    {"Classic Pancakes", "Breakfast~Quick~", "4",
     "1 1/2|cups|all-purpose flour~3 1/2|tsp|baking powder~1|tbsp|sugar~1/4|tsp|salt~1 1/4|cups|milk~1||egg~"
     "3|tbsp|butter, melted~",
     "Whisk the flour, baking powder, sugar and salt in a large bowl.\nMake a well in the centre and pour in the milk, "
     "egg and melted butter; mix until just smooth.\nHeat a lightly oiled griddle over medium-high heat.\nPour about "
     "1/4 cup of batter per pancake and cook until bubbles form, then turn and brown the other side.",
     "158|kcal|Calories~6|g|Fat~22|g|Carbohydrates~", "4 Stars", "Family Recipe"},
    {"Chicken Noodle Soup", "Soups~Main Dishes~", "6",
     "1|tbsp|olive oil~1||onion, chopped~2||carrots, sliced~2|stalks|celery, sliced~2|cloves|garlic, minced~"
     "8|cups|chicken broth~2|cups|cooked chicken, shredded~2|cups|egg noodles~1|tsp|dried thyme~1|tbsp|fresh parsley, chopped~",
     "Heat the oil in a large pot and soften the onion, carrots and celery for 5 minutes.\nAdd the garlic and cook "
     "1 minute more.\nPour in the broth, add the thyme and bring to a boil.\nStir in the noodles and simmer 8 "
     "minutes.\nAdd the chicken, heat through and season with salt and pepper.\nServe sprinkled with parsley.",
     "210|kcal|Calories~5|g|Fat~980|mg|Sodium~18|g|Protein~", "5 Stars", "Family Recipe"},
    {"Garden Salad with Lemon Vinaigrette", "Salads~Vegetarian~Quick~", "4",
     "6|cups|mixed salad greens~1||cucumber, sliced~1|cup|cherry tomatoes, halved~1/2||red onion, thinly sliced~"
     "3|tbsp|olive oil~1|tbsp|lemon juice~1|tsp|Dijon mustard~1|pinch|salt~",
     "Whisk the olive oil, lemon juice, mustard and salt in a small jar.\nToss the greens, cucumber, tomatoes and "
     "onion in a large bowl.\nDress just before serving.",
     "", "4 Stars", "Garden Notebook"},
    {"Spaghetti Bolognese", "Main Dishes~", "6",
     "1|lb|ground beef~1||onion, chopped~2|cloves|garlic, minced~1||carrot, finely diced~28|oz|crushed tomatoes~"
     "2|tbsp|tomato paste~1|tsp|dried oregano~1|lb|spaghetti~1/2|cup|Parmesan cheese, grated~",
     "Brown the beef in a large pan, breaking it up; drain off the fat.\nAdd the onion, garlic and carrot and cook "
     "until soft.\nStir in the tomatoes, tomato paste and oregano; simmer 30 minutes, stirring now and then.\n"
     "Cook the spaghetti in salted water until al dente and drain.\nServe the sauce over the pasta with the Parmesan.",
     "540|kcal|Calories~19|g|Fat~62|g|Carbohydrates~31|g|Protein~", "5 Stars", "Sunday Supper Club"},
    {"Chocolate Chip Cookies", "Desserts~", "36",
     "1|cup|butter, softened~3/4|cup|sugar~3/4|cup|brown sugar~2||eggs~1|tsp|vanilla extract~2 1/4|cups|all-purpose flour~"
     "1|tsp|baking soda~1/2|tsp|salt~2|cups|chocolate chips~",
     "Heat the oven to 375 F.\nBeat the butter with both sugars until creamy; beat in the eggs and vanilla.\nMix the "
     "flour, baking soda and salt and stir into the butter mixture.\nStir in the chocolate chips.\nDrop rounded "
     "tablespoons onto ungreased baking sheets and bake 9 to 11 minutes.",
     "110|kcal|Calories~6|g|Fat~9|g|Sugar~", "5 Stars", "Grandma Rose"},
    {"Guacamole", "Appetizers~Vegetarian~Quick~", "6",
     "3||ripe avocados~1||lime, juiced~1/2|tsp|salt~1/2||red onion, finely diced~2|tbsp|fresh cilantro, chopped~"
     "2||tomatoes, diced~1||jalapeno, seeded and minced~",
     "Halve the avocados, remove the stones and scoop the flesh into a bowl.\nMash with the lime juice and salt, "
     "leaving some texture.\nFold in the onion, cilantro, tomatoes and jalapeno.\nServe at once with tortilla chips.",
     "", "4 Stars", "Neighbour's Kitchen"},
    {"Beef Stew", "Main Dishes~Soups~", "6",
     "2|lb|beef chuck, cubed~1/4|cup|all-purpose flour~2|tbsp|olive oil~1||onion, chopped~3|cloves|garlic, minced~"
     "4|cups|beef broth~1|tbsp|Worcestershire sauce~4||potatoes, cubed~3||carrots, sliced~1|tsp|dried thyme~",
     "Toss the beef in the flour.\nBrown it in the oil in batches in a heavy pot; set aside.\nSoften the onion and "
     "garlic in the same pot.\nReturn the beef, add the broth, Worcestershire sauce and thyme, cover and simmer "
     "1 1/2 hours.\nAdd the potatoes and carrots and simmer 30 minutes more, until tender.",
     "420|kcal|Calories~17|g|Fat~34|g|Protein~", "4 Stars", "Harvest Table Magazine"},
    {"Apple Crisp", "Desserts~Holiday~", "8",
     "6||apples, peeled and sliced~1|tbsp|lemon juice~1/2|cup|sugar~1|tsp|ground cinnamon~3/4|cup|rolled oats~"
     "1/2|cup|all-purpose flour~1/2|cup|brown sugar~1/2|cup|butter, cold~",
     "Heat the oven to 350 F.\nToss the apples with the lemon juice, sugar and cinnamon and spread in a baking dish.\n"
     "Rub the oats, flour, brown sugar and butter together until crumbly and scatter over the apples.\nBake 45 "
     "minutes, until golden and bubbling.",
     "290|kcal|Calories~12|g|Fat~45|g|Carbohydrates~", "5 Stars", "Family Recipe"},
    {"Tomato Basil Bruschetta", "Appetizers~Vegetarian~", "8",
     "1||baguette~4||tomatoes, diced~1/4|cup|fresh basil, chopped~2|cloves|garlic, minced~2|tbsp|olive oil~"
     "1|tsp|balsamic vinegar~1|pinch|salt~",
     "Slice the baguette on the diagonal and toast the slices until golden.\nMix the tomatoes, basil, garlic, olive "
     "oil, vinegar and salt.\nSpoon onto the toasts just before serving.",
     "", "3 Stars", "Garden Notebook"},
    {"Vegetable Stir-Fry", "Main Dishes~Vegetarian~Quick~", "4",
     "2|tbsp|vegetable oil~1||red bell pepper, sliced~2|cups|broccoli florets~1||carrot, sliced~1|cup|snow peas~"
     "2|cloves|garlic, minced~1|tbsp|fresh ginger, grated~3|tbsp|soy sauce~1|tsp|sesame oil~",
     "Heat the oil in a wok over high heat.\nStir-fry the pepper, broccoli and carrot 3 minutes.\nAdd the snow peas, "
     "garlic and ginger and cook 2 minutes more.\nStir in the soy sauce and sesame oil and serve over rice.",
     "180|kcal|Calories~9|g|Fat~5|g|Fiber~", "4 Stars", "Sunday Supper Club"},
    {"Lemon Bars", "Desserts~", "16",
     "1|cup|butter, softened~1/2|cup|powdered sugar~2|cups|all-purpose flour~4||eggs~1 1/2|cups|sugar~"
     "1/2|cup|lemon juice~1|tbsp|lemon zest~",
     "Heat the oven to 350 F.\nMix the butter, powdered sugar and 2 cups of flour and press into a 9 x 13 inch pan; "
     "bake 20 minutes.\nWhisk the eggs, sugar, lemon juice and zest and pour over the hot crust.\nBake 20 minutes "
     "more, until set.\nCool, dust with powdered sugar and cut into bars.",
     "", "4 Stars", "Grandma Rose"},
    {"Minestrone", "Soups~Vegetarian~", "8",
     "2|tbsp|olive oil~1||onion, chopped~2||carrots, diced~2|stalks|celery, diced~2|cloves|garlic, minced~"
     "28|oz|crushed tomatoes~6|cups|vegetable broth~15|oz|kidney beans, drained~1|cup|small pasta~2|cups|fresh spinach~",
     "Soften the onion, carrots and celery in the oil for 8 minutes; add the garlic.\nAdd the tomatoes and broth and "
     "simmer 15 minutes.\nStir in the beans and pasta and cook until the pasta is tender.\nStir in the spinach until "
     "wilted and season to taste.",
     "190|kcal|Calories~4|g|Fat~8|g|Fiber~8|g|Protein~", "4 Stars", "Harvest Table Magazine"},
    {"Roast Chicken with Herbs", "Main Dishes~Holiday~", "6",
     "1||whole chicken (4 lb)~2|tbsp|butter, softened~1|tbsp|fresh rosemary, chopped~1|tbsp|fresh thyme leaves~"
     "1||lemon~4|cloves|garlic~1|tsp|salt~1/2|tsp|black pepper~",
     "Heat the oven to 425 F.\nPat the chicken dry, rub it all over with the butter and herbs, and season with the "
     "salt and pepper.\nPut the halved lemon and the garlic inside the bird.\nRoast about 1 hour 15 minutes, until "
     "the juices run clear.\nRest 15 minutes before carving.",
     "380|kcal|Calories~22|g|Fat~42|g|Protein~", "5 Stars", "Family Recipe"},
    {"Blueberry Muffins", "Breads~Breakfast~", "12",
     "2|cups|all-purpose flour~3/4|cup|sugar~2|tsp|baking powder~1/2|tsp|salt~1/3|cup|vegetable oil~1||egg~"
     "1|cup|milk~1 1/2|cups|blueberries~",
     "Heat the oven to 400 F and line a muffin tin.\nMix the flour, sugar, baking powder and salt.\nWhisk the oil, egg "
     "and milk, and stir into the dry mixture until just combined.\nFold in the blueberries.\nFill the cups and bake "
     "20 to 25 minutes.",
     "210|kcal|Calories~7|g|Fat~", "4 Stars", "Neighbour's Kitchen"},
    {"Mashed Potatoes", "Side Dishes~Holiday~", "6",
     "3|lb|potatoes, peeled and cubed~1/2|cup|milk~1/4|cup|butter~1/2|tsp|salt~1/4|tsp|black pepper~",
     "Boil the potatoes in salted water until tender, about 15 minutes; drain well.\nWarm the milk and butter "
     "together.\nMash the potatoes, beat in the warm milk and season with the salt and pepper.",
     "", "3 Stars", "Family Recipe"},
    {"Greek Salad", "Salads~Vegetarian~Quick~", "4",
     "3||tomatoes, cut in wedges~1||cucumber, sliced~1||green bell pepper, sliced~1/2||red onion, sliced~"
     "1/2|cup|Kalamata olives~4|oz|feta cheese~3|tbsp|olive oil~1|tsp|dried oregano~",
     "Arrange the tomatoes, cucumber, pepper and onion in a bowl.\nTop with the olives and the feta in one piece.\n"
     "Drizzle with the olive oil and sprinkle with oregano.",
     "", "5 Stars", "Garden Notebook"},
    {"Baked Salmon with Dill", "Main Dishes~Quick~", "4",
     "4||salmon fillets~2|tbsp|olive oil~1||lemon, sliced~2|tbsp|fresh dill, chopped~1/2|tsp|salt~1/4|tsp|black pepper~",
     "Heat the oven to 400 F.\nSet the fillets on a lined baking sheet, brush with the oil and season.\nLay the lemon "
     "slices on top and scatter with dill.\nBake 12 to 15 minutes, until the fish flakes easily.",
     "290|kcal|Calories~17|g|Fat~31|g|Protein~", "4 Stars", "Harvest Table Magazine"},
    {"Hot Cocoa", "Beverages~Quick~", "2",
     "2|cups|milk~2|tbsp|cocoa powder~2|tbsp|sugar~1|pinch|salt~1/4|tsp|vanilla extract~",
     "Whisk the cocoa, sugar and salt with a little of the milk in a saucepan to a smooth paste.\nWhisk in the rest "
     "of the milk and heat until steaming; do not boil.\nStir in the vanilla and pour into mugs.",
     "", "3 Stars", "Grandma Rose"},
    {"Pumpkin Pie", "Desserts~Holiday~", "8",
     "1||unbaked pie crust~15|oz|pumpkin puree~3/4|cup|sugar~1|tsp|ground cinnamon~1/2|tsp|ground ginger~"
     "1/2|tsp|salt~2||eggs~12|oz|evaporated milk~",
     "Heat the oven to 425 F.\nMix the sugar, spices and salt; beat in the eggs, pumpkin and evaporated milk.\nPour "
     "into the crust and bake 15 minutes, then lower the oven to 350 F and bake 40 to 50 minutes more.\nCool on a rack "
     "for 2 hours.",
     "300|kcal|Calories~12|g|Fat~42|g|Carbohydrates~", "5 Stars", "Sunday Supper Club"},
    {"Mom's \"Secret\" Chili", "Main Dishes~Soups~", "8",
     "2|lb|ground beef~1||onion, chopped~3|cloves|garlic, minced~2|tbsp|chili powder~1|tsp|ground cumin~"
     "28|oz|crushed tomatoes~15|oz|kidney beans, drained~1|cup|beef broth~",
     "Brown the beef with the onion and garlic; drain.\nStir in the chili powder and cumin and cook 1 minute.\nAdd "
     "the tomatoes, beans and broth and simmer 45 minutes, stirring now and then.\nServe with grated cheese.",
     "360|kcal|Calories~18|g|Fat~8|g|Fiber~27|g|Protein~", "5 Stars", "Family Recipe"},
};

// Ingredient master: name and aisle.
const char* const kIngredients[][2] = {
    {"all-purpose flour", "Bake"}, {"apples", "Fruit"}, {"avocados", "Fruit"}, {"baguette", "Bread"},
    {"baking powder", "Bake"}, {"baking soda", "Bake"}, {"balsamic vinegar", "Oils"}, {"bananas", "Fruit"},
    {"beef broth", "Cans"}, {"beef chuck", "Meat"}, {"black pepper", "Spice"}, {"blueberries", "Fruit"},
    {"broccoli", "Veg"}, {"brown sugar", "Bake"}, {"butter", "Dairy"}, {"carrots", "Veg"}, {"celery", "Veg"},
    {"cherry tomatoes", "Veg"}, {"chicken", "Meat"}, {"chicken broth", "Cans"}, {"chili powder", "Spice"},
    {"chocolate chips", "Bake"}, {"cilantro", "Veg"}, {"cocoa powder", "Bake"}, {"crushed tomatoes", "Cans"},
    {"cucumber", "Veg"}, {"Dijon mustard", "Oils"}, {"dill", "Veg"}, {"dried oregano", "Spice"},
    {"dried thyme", "Spice"}, {"egg noodles", "Pasta"}, {"eggs", "Dairy"}, {"evaporated milk", "Cans"},
    {"feta cheese", "Dairy"}, {"garlic", "Veg"}, {"ginger", "Veg"}, {"ground beef", "Meat"},
    {"ground cinnamon", "Spice"}, {"ground cumin", "Spice"}, {"ground ginger", "Spice"}, {"jalapeno", "Veg"},
    {"Kalamata olives", "Cans"}, {"kidney beans", "Cans"}, {"lemon", "Fruit"}, {"lemon juice", "Fruit"},
    {"lime", "Fruit"}, {"milk", "Dairy"}, {"mixed salad greens", "Veg"}, {"olive oil", "Oils"}, {"onion", "Veg"},
    {"Parmesan cheese", "Dairy"}, {"parsley", "Veg"}, {"pie crust", "Froz"}, {"potatoes", "Veg"},
    {"powdered sugar", "Bake"}, {"pumpkin puree", "Cans"}, {"red bell pepper", "Veg"}, {"red onion", "Veg"},
    {"rolled oats", "Bake"}, {"rosemary", "Veg"}, {"salmon fillets", "Fish"}, {"salt", "Spice"},
    {"sesame oil", "Oils"}, {"small pasta", "Pasta"}, {"snow peas", "Veg"}, {"soy sauce", "Oils"},
    {"spaghetti", "Pasta"}, {"spinach", "Veg"}, {"sugar", "Bake"}, {"tomato paste", "Cans"}, {"tomatoes", "Veg"},
    {"vanilla extract", "Bake"}, {"vegetable broth", "Cans"}, {"vegetable oil", "Oils"},
    {"Worcestershire sauce", "Oils"},
};
// clang-format on

const char* const kCategories[] = { "Appetizers",  "Beverages", "Breads", "Breakfast",   "Desserts", "Holiday",
                                    "Main Dishes", "Quick",     "Salads", "Side Dishes", "Soups",    "Vegetarian" };
const char* const kQuantities[] = { "1/8", "1/4",   "1/3", "1/2", "2/3", "3/4", "1", "1 1/4", "1 1/2", "1 3/4",
                                    "2",   "2 1/2", "3",   "4",   "5",   "6",   "8", "10",    "12",    "16" };
const char* const kUnits[]
    = { "bunch", "can", "clove", "cloves", "cup",   "cups",   "dash",  "g",      "head",  "kg",   "l",   "lb",
        "ml",    "oz",  "pinch", "pkg",    "slice", "slices", "sprig", "stalks", "stick", "tbsp", "tsp", "whole" };
const char* const kNutrition[]
    = { "Calories", "Carbohydrates", "Cholesterol", "Fat", "Fiber", "Protein", "Saturated Fat", "Sodium", "Sugar" };
const char* const kSources[] = { "Family Recipe",          "Garden Notebook",     "Grandma Rose",
                                 "Harvest Table Magazine", "Neighbour's Kitchen", "Sunday Supper Club" };
const char* const kRatings[] = { "1 Star", "2 Stars", "3 Stars", "4 Stars", "5 Stars", "Try Soon" };
const char* const kAisles[]
    = { "Bake", "Bread", "Cans", "Dairy", "Fish", "Froz", "Fruit", "Meat", "Oils", "Pasta", "Spice", "Veg" };
const char* const kMeals[] = { "Breakfast", "Brunch", "Lunch", "Dinner", "Snack", "Dessert" };

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

// Appends one new record with the own field values in order.
void addRecord(Recordset& rs, const QStringList& values)
{
    RecordStatus::addNew(rs);
    for (int i = 0; i < values.size(); ++i)
        rs.setValue(i + 2, values.at(i));
    rs.update();
}

template <size_t N> void fillSimple(Recordset& rs, const char* const (&values)[N])
{
    for (const char* v : values)
        addRecord(rs, { s(v), QString(), QString() });
}

} // namespace

int DemoData::recipeCount()
{
    return int(sizeof(kRecipes) / sizeof(kRecipes[0]));
}

std::optional<AppError> DemoData::create(const QString& folder)
{
    if (auto error = DataFolder::initEmpty(folder))
        return error;

    auto fill = [&folder](TableDef::Id id, const std::function<void(Recordset&)>& filler) -> std::optional<AppError> {
        const TableDef& def = TableCatalogue::table(id);
        const QString path = DataSource::tablePath(folder, id);
        Recordset rs;
        TableFile::defineFields(rs, def);
        filler(rs);
        rs.setSort(def.order);
        return TableWriter::write(rs, def, path);
    };

    std::optional<AppError> error;
    auto step = [&error, &fill](TableDef::Id id, const std::function<void(Recordset&)>& filler) {
        if (!error)
            error = fill(id, filler);
    };

    step(TableDef::Recipes, [](Recordset& rs) {
        for (const DemoRecipe& r : kRecipes) {
            const QString instructions = s(r.instructions).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            addRecord(rs,
                      { NormalizeForMatch(s(r.name)), s(r.name), s(r.categories), s(r.serves), s(r.ingredients),
                        instructions, s(r.nutrition), composeRtgSrc(s(r.rating), s(r.source)), QString(), QString() });
        }
    });
    step(TableDef::Categories, [](Recordset& rs) {
        for (const char* c : kCategories)
            addRecord(rs, { s(c) });
    });
    // The keyed master lists, each entry keyed as the master list editor keys it.
    const auto key = [](const char* keyword, const QString& value) {
        return MasterListKey(*MasterListKinds::find(QLatin1String(keyword)), value);
    };
    step(TableDef::Quantities, [&key](Recordset& rs) {
        for (const char* q : kQuantities)
            addRecord(rs, { key("qty", s(q)), s(q), QString(), QString() });
    });
    step(TableDef::Units, [&key](Recordset& rs) {
        for (const char* u : kUnits)
            addRecord(rs, { key("units", s(u)), s(u), QString(), QString() });
    });
    step(TableDef::Ingredients, [&key](Recordset& rs) {
        for (const auto& i : kIngredients)
            addRecord(rs, { key("ingr", s(i[0])), s(i[0]), s(i[1]), QString(), QString() });
    });
    step(TableDef::NutritionalItems, [&key](Recordset& rs) {
        for (const char* n : kNutrition)
            addRecord(rs, { key("ntrn", s(n)), s(n), QString(), QString() });
    });
    step(TableDef::Sources, [](Recordset& rs) { fillSimple(rs, kSources); });
    step(TableDef::Ratings, [](Recordset& rs) { fillSimple(rs, kRatings); });
    step(TableDef::Aisles, [](Recordset& rs) { fillSimple(rs, kAisles); });
    step(TableDef::Meals, [](Recordset& rs) { fillSimple(rs, kMeals); });
    step(TableDef::Preferences, [](Recordset& rs) {
        const QString equivalents = QStringLiteral(
            "3 tsp = 1 tbsp\\n16 tbsp = 1 cup\\n2 cups = 1 pint\\n4 cups = 1 quart\\n4 quarts = 1 gallon\\n"
            "16 oz = 1 lb\\n1 stick butter = 1/2 cup\\n1 cup = 237 ml");
        const QStringList pairs = { QStringLiteral("ingr_auto_add"), QStringLiteral("1"),
                                    QStringLiteral("abbrev_ingr"),   QStringLiteral("0"),
                                    QStringLiteral("confirm_1SL"),   QStringLiteral("1"),
                                    QStringLiteral("backup_DBs"),    QStringLiteral("0"),
                                    QStringLiteral("ingredients"),   QStringLiteral("columns"),
                                    QStringLiteral("instructions"),  QStringLiteral("editable"),
                                    QStringLiteral("scaling"),       QStringLiteral("fraction"),
                                    QStringLiteral("serves"),        QStringLiteral("4"),
                                    QStringLiteral("equivalents"),   equivalents };
        for (int i = 0; i + 1 < pairs.size(); i += 2)
            addRecord(rs, { pairs.at(i), pairs.at(i + 1) });
    });
    return error;
}
