#pragma once

class Main;

// Attaches the recipe window's behaviour (list, search, editing, categories, pictures, duplicates) to the
// main window and installs it as Main's recipe window.
void attachRecipes(Main& main);
