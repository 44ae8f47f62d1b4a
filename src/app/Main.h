#pragma once

#include <QMainWindow>

#include <memory>

class DataSource;
class RecipeWindow;

// The main window. Builds every control and menu of the recipe window; subsystems attach their behaviour
// to the controls by object name (see Features.h).
class Main : public QMainWindow
{
    Q_OBJECT
public:
    // The size of the central area the controls are placed for; the resize layout scales from it.
    static constexpr int DesignWidth = 800;
    static constexpr int DesignHeight = 560;

    // Builds the window frame and attaches every feature.
    explicit Main(QWidget* parent = nullptr);
    ~Main() override;

    // The recipe-window behaviour, installed by the recipes subsystem; nullptr until then.
    RecipeWindow* recipeWindow() const { return m_recipeWindow; }
    void setRecipeWindow(RecipeWindow* window) { m_recipeWindow = window; }

    // Refills cboSource and cboRating from fresh copies of the source and rating tables of the data folder
    // (AppState); leaves both empty while no data folder is known.
    void LoadCombos();

    // Shows the tab page frame frmTab_<index> (1 to 4) and hides the others.
    void showTabPage(int index);

private:
    void buildMenus();
    void buildControls(QWidget* central);

    RecipeWindow* m_recipeWindow = nullptr;
    std::unique_ptr<DataSource> m_sources;
    std::unique_ptr<DataSource> m_ratings;
};
