#pragma once

#include <QMainWindow>

class RecipeWindow;

// The main window. Builds every control and menu of the recipe window; subsystems attach their behaviour
// to the controls by object name (see Features.h).
class Main : public QMainWindow
{
    Q_OBJECT
public:
    explicit Main(QWidget* parent = nullptr);
    ~Main() override;

    // The recipe-window behaviour, installed by the recipes subsystem; nullptr until then.
    RecipeWindow* recipeWindow() const { return m_recipeWindow; }
    void setRecipeWindow(RecipeWindow* window) { m_recipeWindow = window; }

private:
    RecipeWindow* m_recipeWindow = nullptr;
};
